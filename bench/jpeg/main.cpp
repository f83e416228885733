// Measures decoding and encoding of a large photo-like picture through the
// picture object against the same work done with plain libjpeg calls, and
// prints times, memory peaks and the ratios between them.
//
//   vorrel-bench-jpeg [--width W] [--height H] [--repetitions N]
//   vorrel-bench-jpeg --whole-process [--width W] [--height H] [--runs N]
//
// Every phase runs in a child process of this program (--phase NAME), so that
// each memory peak belongs to one phase alone.

#include "bench/jpeg/bench_phase.h"
#include "bench/jpeg/plain_libjpeg.h"
#include "bench/jpeg/whole_process.h"
#include "synthetic/synthetic_photo.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <algorithm>
#include <map>
#include <string>

#include <unistd.h>

namespace {

struct Options {
    int width = 4000;
    int height = 3000;
    int repetitions = 3;
    int rounds = 3;
    std::string phase;
    std::string input;
};

Options parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--width")
            options.width = std::stoi(value);
        else if (name == "--height")
            options.height = std::stoi(value);
        else if (name == "--repetitions")
            options.repetitions = std::stoi(value);
        else if (name == "--rounds")
            options.rounds = std::stoi(value);
        else if (name == "--phase")
            options.phase = value;
        else if (name == "--input")
            options.input = value;
        else
            throw std::invalid_argument("unknown option " + name);
    }
    if (options.width <= 0 || options.height <= 0 || options.repetitions <= 0 || options.rounds <= 0)
        throw std::invalid_argument("width, height and repetitions must be positive");
    return options;
}

std::vector<BenchPhase> allPhases()
{
    std::vector<BenchPhase> phases = floorPhases();
    for (BenchPhase &phase : picturePhases())
        phases.push_back(phase);
    return phases;
}

int runChild(const Options &options)
{
    PhaseInput input{options.width, options.height, 1, {}};
    std::ifstream file(options.input, std::ios::binary);
    input.jpeg.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    for (const BenchPhase &phase : allPhases()) {
        if (phase.name == options.phase) {
            const PhaseResult result = phase.run(input, options.repetitions);
            std::printf("%.6f %ld %ld\n", result.seconds, result.baseKiB, result.growthKiB);
            return 0;
        }
    }
    std::cerr << "unknown phase " << options.phase << "\n";
    return 2;
}

std::string ownPath()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        throw std::runtime_error("cannot find this program's own path");
    return std::string(path, static_cast<std::size_t>(length));
}

bool measure(const std::string &program, const Options &options, const std::string &phase, PhaseResult &result)
{
    const std::string command = "'" + program + "' --phase " + phase + " --input '" + options.input +
                                "' --width " + std::to_string(options.width) + " --height " +
                                std::to_string(options.height) + " --repetitions " +
                                std::to_string(options.repetitions);
    FILE *child = popen(command.c_str(), "r");
    if (child == nullptr)
        return false;
    const int fields = std::fscanf(child, "%lf %ld %ld", &result.seconds, &result.baseKiB, &result.growthKiB);
    return pclose(child) == 0 && fields == 3;
}

int runParent(Options options)
{
    PlainPicture picture{options.width, options.height, {}};
    picture.bgr.resize(static_cast<std::size_t>(options.width) * options.height * 3);
    for (int y = 0; y < options.height; ++y)
        fillSyntheticPhotoRow(options.width, options.height, y, 1,
                              picture.bgr.data() + static_cast<std::size_t>(y) * options.width * 3);
    const std::vector<std::uint8_t> jpeg = plainEncode(picture);
    options.input = "/tmp/vorrel-bench-jpeg-" + std::to_string(getpid()) + ".jpg";
    {
        std::ofstream file(options.input, std::ios::binary);
        file.write(reinterpret_cast<const char *>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
    }

    std::printf("picture %d x %d (%.1f megapixels), JPEG %zu bytes; best of %d runs in each of %d rounds\n",
                options.width, options.height, options.width * static_cast<double>(options.height) / 1e6,
                jpeg.size(), options.repetitions, options.rounds);
    // Rounds alternate the phases, so that a passing load on the machine
    // touches the floor and the picture alike; each phase keeps its best.
    const std::string program = ownPath();
    std::map<std::string, PhaseResult> results;
    int failures = 0;
    for (int round = 0; round < options.rounds; ++round) {
        for (const BenchPhase &phase : allPhases()) {
            PhaseResult result;
            if (!measure(program, options, phase.name, result)) {
                std::printf("%-16s failed\n", phase.name.c_str());
                ++failures;
                continue;
            }
            auto [kept, fresh] = results.try_emplace(phase.name, result);
            if (!fresh) {
                kept->second.seconds = std::min(kept->second.seconds, result.seconds);
                kept->second.growthKiB = std::max(kept->second.growthKiB, result.growthKiB);
            }
        }
    }
    std::remove(options.input.c_str());

    std::printf("%-16s %10s %12s %14s\n", "phase", "seconds", "base KiB", "phase peak KiB");
    for (const auto &[name, result] : results)
        std::printf("%-16s %10.3f %12ld %14ld\n", name.c_str(), result.seconds, result.baseKiB, result.growthKiB);
    for (const char *work : {"decode", "encode"}) {
        const auto floor = results.find(std::string("floor-") + work);
        const auto picture = results.find(std::string("picture-") + work);
        if (floor == results.end() || picture == results.end())
            continue;
        std::printf("%s: time ratio %.3f (target <= 1.05), phase peak memory ratio %.3f\n", work,
                    picture->second.seconds / floor->second.seconds,
                    floor->second.growthKiB > 0
                        ? static_cast<double>(picture->second.growthKiB) / floor->second.growthKiB
                        : 0.0);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        if (argc > 1 && std::string(argv[1]) == "--whole-process")
            return runWholeProcessComparison(argc - 2, argv + 2);
        const Options options = parseOptions(argc, argv);
        return options.phase.empty() ? runParent(options) : runChild(options);
    } catch (const std::exception &error) {
        std::cerr << "vorrel-bench-jpeg: " << error.what() << "\n";
        return 2;
    }
}
