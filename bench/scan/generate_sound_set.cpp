// vorrel-scan-generate: writes a game-sized sound set for the scan benchmark.
//
//   vorrel-scan-generate [--audio N] [--audio-folders N] [--schemes N]
//                        [--references N] [--unreferenced-percent P] OUTPUT
//
// OUTPUT/audio holds N tiny .ogg files spread over the audio folders;
// OUTPUT/schemes holds the scheme files, ten to a folder, whose references
// name every audio file except P percent of them (repeats fill up the count).
// The same arguments always give the same tree.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

struct Sizes {
    long audio = 20000;
    long audioFolders = 400;
    long schemes = 4000;
    long references = 30000;
    long unreferencedPercent = 10;
};

void usage()
{
    std::cerr << "usage: vorrel-scan-generate [--audio N] [--audio-folders N] [--schemes N] [--references N]"
                 " [--unreferenced-percent P] OUTPUT\n";
}

std::string numbered(const char *prefix, long number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%06ld", prefix, number);
    return text;
}

bool writeFile(const std::filesystem::path &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv)
{
    Sizes sizes;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        long *target = nullptr;
        if (argument == "--audio")
            target = &sizes.audio;
        else if (argument == "--audio-folders")
            target = &sizes.audioFolders;
        else if (argument == "--schemes")
            target = &sizes.schemes;
        else if (argument == "--references")
            target = &sizes.references;
        else if (argument == "--unreferenced-percent")
            target = &sizes.unreferencedPercent;
        if (target != nullptr && i + 1 < argc) {
            *target = std::strtol(argv[++i], nullptr, 10);
        } else if (target == nullptr && output.empty() && argument.rfind("--", 0) != 0) {
            output = argument;
        } else {
            usage();
            return 2;
        }
    }
    if (output.empty() || sizes.audio < 1 || sizes.audioFolders < 1 || sizes.schemes < 1 || sizes.references < 0
        || sizes.unreferencedPercent < 0 || sizes.unreferencedPercent > 100) {
        usage();
        return 2;
    }

    namespace fs = std::filesystem;
    const fs::path root(output);
    std::error_code error;
    fs::remove_all(root, error);

    std::vector<std::string> names;
    for (long i = 0; i < sizes.audio; ++i) {
        const fs::path folder = root / "audio" / numbered("area_", i % sizes.audioFolders);
        fs::create_directories(folder);
        names.push_back(numbered("sound_", i));
        if (!writeFile(folder / (names.back() + ".ogg"), "OggS")) {
            std::cerr << "cannot write " << (folder / names.back()).string() << ".ogg\n";
            return 1;
        }
    }

    // Which audio files the schemes use: all but the chosen percentage.
    std::mt19937 random(12345);
    std::vector<std::string> used = names;
    std::shuffle(used.begin(), used.end(), random);
    used.resize(static_cast<std::size_t>(sizes.audio - sizes.audio * sizes.unreferencedPercent / 100));

    std::vector<std::string> schemes(static_cast<std::size_t>(sizes.schemes));
    for (std::size_t i = 0; i < schemes.size(); ++i)
        schemes[i] = "schema \"" + numbered("schema_", static_cast<long>(i)) + "\"\n";
    for (long r = 0; r < sizes.references && !used.empty(); ++r) {
        const std::string &name = used[static_cast<std::size_t>(r) % used.size()];
        schemes[static_cast<std::size_t>(r % sizes.schemes)] += "sample \"" + std::to_string(r) + "\"\r\n" + name + "\r\n";
    }
    for (std::size_t i = 0; i < schemes.size(); ++i) {
        const fs::path folder = root / "schemes" / numbered("group_", static_cast<long>(i / 10));
        fs::create_directories(folder);
        const fs::path file = folder / (numbered("schema_", static_cast<long>(i)) + ".sch");
        if (!writeFile(file, schemes[i])) {
            std::cerr << "cannot write " << file.string() << '\n';
            return 1;
        }
    }
    std::cout << "wrote " << sizes.audio << " audio files in " << sizes.audioFolders << " folders and "
              << sizes.schemes << " scheme files with " << sizes.references << " references to " << output << '\n';
    return 0;
}
