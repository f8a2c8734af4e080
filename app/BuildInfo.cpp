// The build date, kept in a file of its own so that only this file is
// compiled again each day.
#include "app/BuildInfo.h"

#include <cstdio>
#include <cstring>

namespace app {

std::string buildDate()
{
    // __DATE__ reads "Mmm dd yyyy".
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const char* date = __DATE__;
    const char* at = std::strstr(months, std::string(date, 3).c_str());
    int month = at ? static_cast<int>(at - months) / 3 + 1 : 0;
    int day = 0;
    int year = 0;
    std::sscanf(date + 4, "%d %d", &day, &year);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

}  // namespace app
