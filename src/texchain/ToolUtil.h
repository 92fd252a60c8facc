// Small routines of the tool chain: a wait that keeps the windows live, one-access INI reads
// and writes, and the default beep.
#pragma once

#include <string>

namespace quolin {

class TStrings;

// Waits milliseconds by the tick counter while the application handles its messages; 0
// returns at once. False when the application was told to end meanwhile.
bool WaitWithMessages(unsigned milliseconds);

// Each opens the INI file, does one access and closes it. A bare name is looked up by the
// platform (in the Windows folder).
void IniReadSection(const std::string& fileName, const std::string& section, TStrings& keys);
std::string IniReadString(const std::string& fileName, const std::string& section,
                          const std::string& key, const std::string& defaultValue);
int IniReadInteger(const std::string& fileName, const std::string& section, const std::string& key,
                   int defaultValue);
void IniWriteInteger(const std::string& fileName, const std::string& section,
                     const std::string& key, int value);

// The platform's default message beep.
void PlayDefaultBeep();

} // namespace quolin
