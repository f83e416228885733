#pragma once

#include <functional>
#include <optional>
#include <string>

class TForm;

#ifndef SW_SHOW
// Show command: activate the window and show it at its current size and place.
constexpr int SW_SHOW = 5;
#endif

// One request to the desktop shell, as the caller made it. A null
// argument is recorded as absent.
struct ShellRequest {
    const TForm *owner = nullptr;
    std::optional<std::string> verb;
    std::string file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int showCommand = 0;
};

// The desktop shell's open operation. With no parameters, opens `file` (a
// document, resolved against `directory` or else the current working
// folder, or an address such as "mailto:..." or "https://...") with what
// the desktop associates with it. With parameters, starts the program
// `file` with them, in `directory` when given; the browser program
// "iexplore.exe" with a web address ("http:" or "https:") as its parameters
// starts where that program exists (Windows), and otherwise the desktop's
// own web browser is opened on that address (anything else for it opens
// nothing). Never waits for what it starts.
// Returns whether the request was handed on; callers may ignore it.
// Only the verb "open" (or none) is known; another verb does nothing.
bool ShellExecuteA(const TForm *owner, const char *verb, const char *file, const char *parameters,
                   const char *directory, int showCommand);

// Names a document to open in place of `documentName` (a bare file name such
// as "manual.chm") when a request opens that name and no such file exists
// where the request looks for it. An empty `standIn` removes the entry.
void setDocumentStandIn(const std::string &documentName, const std::string &standIn);

// What the desktop's own handler opens for a request to open the document
// `file` (no parameters): the file resolved against `directory` or the
// current folder, or its stand-in when that file is missing and a stand-in
// that exists is named for it.
std::string documentToOpen(const std::string &file, const std::optional<std::string> &directory);

// For as long as it lives, handler carries out shell requests instead of
// the desktop (an empty one: the desktop's own again); overrides nest. Tests
// record requests here instead of opening anything.
using ShellHandler = std::function<void(const ShellRequest &request)>;
class ShellHandlerOverride {
public:
    explicit ShellHandlerOverride(ShellHandler handler);
    ~ShellHandlerOverride();
    ShellHandlerOverride(const ShellHandlerOverride &) = delete;
    ShellHandlerOverride &operator=(const ShellHandlerOverride &) = delete;

private:
    ShellHandler m_previous;
};
