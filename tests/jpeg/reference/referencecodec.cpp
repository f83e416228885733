#include "tests/jpeg/reference/referencecodec.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

int runProgram(const std::string &program, const std::vector<std::string> &arguments)
{
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

void runReference(const std::string &program, const std::vector<std::string> &options,
                  const std::filesystem::path &input, const std::filesystem::path &output)
{
    std::vector<std::string> arguments = options;
    arguments.insert(arguments.end(), {"-outfile", output.string(), input.string()});
    if (runProgram(program, arguments) != 0) {
        std::string command = program;
        for (const std::string &argument : arguments)
            command += " " + argument;
        throw std::runtime_error("reference tool failed: " + command);
    }
}

} // namespace

void encodeWithReference(const std::vector<std::string> &options, const std::filesystem::path &input,
                         const std::filesystem::path &output)
{
    runReference("cjpeg", options, input, output);
}

void decodeWithReference(const std::vector<std::string> &options, const std::filesystem::path &input,
                         const std::filesystem::path &output)
{
    runReference("djpeg", options, input, output);
}

std::vector<unsigned char> readFileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::filesystem::path &path, const std::vector<unsigned char> &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}
