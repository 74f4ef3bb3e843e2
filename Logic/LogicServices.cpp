#include "Logic/LogicServices.h"

namespace Logic
{
LogicServices& Services()
{
    static LogicServices services;
    return services;
}
} // namespace Logic
