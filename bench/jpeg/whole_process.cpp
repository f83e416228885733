#include "bench/jpeg/whole_process.h"

#include "synthetic/synthetic_photo.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct ProcessRun {
    double seconds = 0;
    long peakKiB = 0;
};

// Runs the program (searched on PATH) to its end; its wall time and the peak
// resident size that the kernel recorded for it. Throws when it fails.
ProcessRun runProcess(const std::vector<std::string> &arguments)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The synthetic photo as a binary PPM, written row by row.
void writePhoto(const std::filesystem::path &path, int width, int height)
{
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << width << ' ' << height << "\n255\n";
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        fillSyntheticPhotoRow(width, height, y, 1, row.data());
        for (std::size_t x = 0; x < row.size(); x += 3)
            std::swap(row[x], row[x + 2]);
        file.write(reinterpret_cast<const char *>(row.data()), static_cast<std::streamsize>(row.size()));
    }
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<char> fileBytes(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Contest {
    const char *name;
    std::vector<std::string> reference;
    std::vector<std::string> ours;
    std::vector<double> referenceSeconds, oursSeconds, referenceKiB, oursKiB;
};

} // namespace

int runWholeProcessComparison(int argc, char **argv)
{
    int width = 6000, height = 4000, runs = 5;
    for (int i = 0; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::stoi(argv[i + 1]);
        if (name == "--width")
            width = value;
        else if (name == "--height")
            height = value;
        else if (name == "--runs")
            runs = value;
        else
            throw std::invalid_argument("unknown option " + name);
    }
    if (width <= 0 || height <= 0 || runs <= 0)
        throw std::invalid_argument("width, height and runs must be positive");

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vorrel-bench-whole-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string photo = (folder / "photo.ppm").string(), jpeg = (folder / "photo.jpg").string(),
                      bmp = (folder / "photo.bmp").string();
    writePhoto(photo, width, height);
    runProcess({"cjpeg", "-quality", "90", "-outfile", jpeg, photo});
    // The encoders' input: a BMP as djpeg writes it (bottom-up rows).
    runProcess({"djpeg", "-bmp", "-outfile", bmp, jpeg});
    const std::string tool = VORREL_JPEG_TOOL;
    const std::string theirs = (folder / "theirs").string(), ours = (folder / "ours").string();
    std::vector<Contest> contests = {
        {"decode", {"djpeg", "-bmp", "-dct", "float", "-outfile", theirs, jpeg}, {tool, "decode", jpeg, ours}, {}, {}, {}, {}},
        {"encode", {"cjpeg", "-dct", "float", "-quality", "90", "-baseline", "-outfile", theirs, bmp},
         {tool, "encode", bmp, ours}, {}, {}, {}, {}},
    };
    std::printf("picture %d x %d (%.1f megapixels), JPEG %ju bytes; median of %d alternating runs\n", width, height,
                width * static_cast<double>(height) / 1e6, static_cast<std::uintmax_t>(std::filesystem::file_size(jpeg)),
                runs);
    for (Contest &contest : contests) {
        for (int run = 0; run < runs; ++run) {
            const ProcessRun reference = runProcess(contest.reference);
            const ProcessRun own = runProcess(contest.ours);
            contest.referenceSeconds.push_back(reference.seconds);
            contest.referenceKiB.push_back(static_cast<double>(reference.peakKiB));
            contest.oursSeconds.push_back(own.seconds);
            contest.oursKiB.push_back(static_cast<double>(own.peakKiB));
        }
        const double time = median(contest.oursSeconds) / median(contest.referenceSeconds);
        const double memory = median(contest.oursKiB) / median(contest.referenceKiB);
        std::printf("%s: %s %.3f s, %.0f KiB; vorrel-jpeg %.3f s, %.0f KiB; time ratio %.3f (target <= 1.10), "
                    "peak memory ratio %.3f (target <= 1.25)\n",
                    contest.name, contest.reference[0].c_str(), median(contest.referenceSeconds),
                    median(contest.referenceKiB), median(contest.oursSeconds), median(contest.oursKiB), time, memory);
    }
    std::printf("encoded files identical: %s\n", fileBytes(theirs) == fileBytes(ours) ? "yes" : "no");
    std::filesystem::remove_all(folder);
    return 0;
}
