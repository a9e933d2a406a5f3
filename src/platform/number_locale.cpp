#include "platform/number_locale.h"

#include <clocale>

void useLocaleFreeNumbers() { std::setlocale(LC_NUMERIC, "C"); }
