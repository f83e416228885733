#include "jpeg/raiseinvalidgraphicoperation.h"

#include "toolkit/core/exceptions.h"

void RaiseInvalidGraphicOperation(const std::string &message)
{
    throw EInvalidGraphicOperation(message);
}
