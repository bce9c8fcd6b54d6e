#pragma once
// The example gun used throughout the tests: a 4.5 mm pistol with a 25 mm piston.

#include "model/GunParameters.h"

inline GunParameterTexts ExampleGunTexts(char separator = '.') {
    GunParameterTexts texts = {"4.5", "0.5",  "450", "1.05", "1",  "0.2", "25",  "0.1",
                               "3",   "0.03", "200", "400",  "60", "1.4", "0.1", "0.01"};
    for (std::string& text : texts) {
        for (char& c : text) {
            if (c == '.') {
                c = separator;
            }
        }
    }
    return texts;
}
