#include <cstdio>

int main()
{
    std::puts("Tavrin: the game window is not built yet. Try build/tavrin-cli.");
    return 0;
}
