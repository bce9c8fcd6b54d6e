#include "cli/CliCommand.h"

#include <ostream>

#include "common/FieldNumber.h"

void StreamMessageSink::ShowErrorMessage(const std::string& text) {
    stream_ << text << '\n';
}

void StreamMessageSink::ShowPlainMessage(const std::string& text) {
    stream_ << text << '\n';
}

GunParameterTexts ParameterTextsOf(const GunParameters& gun) {
    GunParameterTexts texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        texts[i] = NumberToField(gun.values[i], '.');
    }
    return texts;
}
