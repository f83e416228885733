#include "tests/support/program_runner.h"

#include <cerrno>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

// posix_spawn's file actions, destroyed whatever happens.
class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&m_actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&m_actions); }
    FileActions(const FileActions &) = delete;
    FileActions &operator=(const FileActions &) = delete;

    void redirect(int descriptor, const std::string &file)
    {
        if (!file.empty())
            posix_spawn_file_actions_addopen(&m_actions, descriptor, file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    posix_spawn_file_actions_t *get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

} // namespace

int runProgram(const std::string &program, const std::vector<std::string> &arguments, const std::string &outputFile,
               const std::string &errorFile)
{
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    FileActions actions;
    actions.redirect(1, outputFile);
    actions.redirect(2, errorFile);
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), actions.get(), nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
