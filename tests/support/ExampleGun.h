#pragma once
// The example gun used throughout the tests: a 4.5 mm pistol with a 25 mm piston.

#include <initializer_list>
#include <string>
#include <utility>

#include "model/GunParameters.h"
#include "model/ModelInputs.h"

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

// The example gun with some of its field texts changed.
inline GunParameterTexts ExampleGunWith(
    std::initializer_list<std::pair<GunParameter, std::string>> changes) {
    GunParameterTexts texts = ExampleGunTexts();
    for (const auto& [parameter, text] : changes) {
        texts[static_cast<size_t>(Index(parameter))] = text;
    }
    return texts;
}

// The inputs of field texts (with a point) that pass the checks, completed for a run.
inline ModelInputs CompletedInputsOf(const GunParameterTexts& texts) {
    ModelInputs inputs;
    ReadModelInputs(texts, '.', inputs);
    ValidateModelInputs(inputs);
    CompleteModelInputs(inputs);
    return inputs;
}
