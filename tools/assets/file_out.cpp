#include "file_out.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace tavrin::assets {

bool writeViaTemporary(const std::string& path, const std::function<bool(const std::string&)>& write)
{
    const std::string temporary = path + ".part";
    std::error_code ec;
    if (!write(temporary)) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

bool writeFileSafely(const std::string& path, const std::vector<unsigned char>& bytes)
{
    return writeViaTemporary(path, [&](const std::string& name) {
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        return static_cast<bool>(out);
    });
}

} // namespace tavrin::assets
