// Writes the browser page's tables (web/page_tables.h) as a script for the
// site: the commands, menus, toolbar, shortcuts, surfaces and sounds of the
// game's own C++, so that the page's script copies no number by hand.
#include "web/page_tables.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tavrin_page_tables OUT.js\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// The game's tables for the page, written by tavrin_page_tables from the\n"
           "// game's C++ (web/page_tables.cpp) when the site is built.\n"
           "'use strict';\n"
           "window.TavrinTables = "
        << tavrin::web::pageTablesJson() << ";\n";
    out.close();
    return out ? 0 : 1;
}
