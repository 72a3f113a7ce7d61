#include "LoggerComponent.h"

namespace logcomponent {
LoggerComponent All("All", 0xFFFFFFFF);
LoggerComponent Updater("Updater", 0xFFFFFFFF);
LoggerComponent RulesEng("RulesEng", 0xFFFFFFFF);
LoggerComponent JSW("JSW", 0xFFFFFFFF);
LoggerComponent Catalog("Catalog", 0xFFFFFFFF);
}  // namespace logcomponent
