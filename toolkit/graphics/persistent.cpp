#include "toolkit/graphics/persistent.h"

#include "toolkit/core/exceptions.h"

void TPersistent::Assign(TPersistent *source)
{
    if (source == nullptr)
        throw EConvertError("Cannot assign nothing to a " + ClassName());
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent *dest)
{
    const std::string target = dest ? dest->ClassName() : std::string("nothing");
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + target);
}
