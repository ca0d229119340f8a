// Build tool: creates the staging template from its schema.
// Usage: make_template SCHEMA.sql OUTPUT.mod
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_template SCHEMA.sql OUTPUT.mod\n";
        return 2;
    }
    std::ifstream schema(argv[1], std::ios::binary);
    std::ostringstream text;
    text << schema.rdbuf();
    if (!schema) {
        std::cerr << "make_template: cannot read " << argv[1] << '\n';
        return 1;
    }
    const std::filesystem::path output = argv[2];
    std::filesystem::path partial = output;
    partial += ".partial";
    std::filesystem::remove(partial);
    try {
        SQLite::Database db(partial.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(text.str());
    } catch (const SQLite::Exception& e) {
        std::cerr << "make_template: " << e.what() << '\n';
        return 1;
    }
    std::filesystem::rename(partial, output);
    return 0;
}
