// Enters the packed skin into the program's resource table as ("ZIPRES", 147).
// Programs link this object to carry the skin.

#include "platform/embedded_resources.h"

extern "C" const unsigned char vantyx_resource_zipres_147_begin[];
extern "C" const unsigned char vantyx_resource_zipres_147_end[];

namespace {

const bool kRegistered = [] {
    platform::RegisterResource("ZIPRES", 147,
                               {vantyx_resource_zipres_147_begin, vantyx_resource_zipres_147_end});
    return true;
}();

}  // namespace
