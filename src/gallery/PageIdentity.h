#pragma once

// What every generated page says about the program that made it: the generator meta line
// and the credit link below the gallery.

#include "base/Version.h"

#include <string>

namespace fotoplex {

// The address of the product's home page: the credit link of every page points here.
inline constexpr const char* kHomePageUrl = "https://www.quorvane.com/fotoplex/";

struct PageIdentity {
    std::string appTitle;    // "Fotoplex 1.0.0.0": the generator meta line
    std::string versionText; // follows BottomTitle directly in the credit line
    std::string homePageUrl; // href of the credit link
};

// The identity of this build of the program.
inline PageIdentity ProgramPageIdentity() {
    return {std::string("Fotoplex ") + kVersionText, kVersionText, kHomePageUrl};
}

} // namespace fotoplex
