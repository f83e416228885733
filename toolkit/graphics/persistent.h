#pragma once

#include <string>

// Root of the objects that can take over each other's contents. A class that
// knows how to copy from another one overrides Assign; a class that knows how
// to copy itself into another one overrides AssignTo. Whatever neither side
// handles ends in EConvertError.
class TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent &) = delete;
    TPersistent &operator=(const TPersistent &) = delete;
    virtual ~TPersistent() = default;

    // The class's own name, as stored data and messages spell it.
    virtual std::string ClassName() const = 0;

    // Copies source into this object. The base hands the work to
    // source->AssignTo(this); a null source raises EConvertError.
    virtual void Assign(TPersistent *source);
    // Copies this object into dest. The base raises EConvertError naming both
    // classes: nothing knew how to make the copy.
    virtual void AssignTo(TPersistent *dest);
};
