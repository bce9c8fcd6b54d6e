#include "cli/ParameterGlossary.h"

#include "common/FieldNumber.h"
#include "model/GunParameters.h"
#include "model/UnitTable.h"

namespace {

std::string UnitText(const char* fieldUnit) {
    const UnitInfo* unit = UnitNamed(fieldUnit);
    if (unit == nullptr) {
        return "no unit";
    }
    std::string others;
    for (const UnitInfo& other : UnitTable) {
        if (other.quantity == unit->quantity && &other != unit) {
            others += std::string(others.empty() ? "" : ", ") + std::string(other.Name());
        }
    }
    return std::string(fieldUnit) + (others.empty() ? "" : "; or " + others);
}

// The text as lines of at most Width characters, the first after its indent and the others
// after theirs; words are not broken.
std::string Wrapped(const std::string& text, const std::string& firstIndent,
                    const std::string& indent) {
    constexpr size_t Width = 78;
    std::string wrapped;
    std::string line = firstIndent;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string word = text.substr(start, end - start);
        // Characters, not bytes: the continuation bytes of UTF-8 take no room.
        size_t shown = 0;
        for (const char c : line + word) {
            shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        }
        const bool lineHasAWord = line.size() > (wrapped.empty() ? firstIndent : indent).size();
        if (lineHasAWord && shown + 1 > Width) {
            wrapped += line + '\n';
            line = indent;
        }
        line += (line.size() > (wrapped.empty() ? firstIndent : indent).size() ? " " : "") + word;
        start = end + 1;
    }
    return wrapped + line + '\n';
}

}  // namespace

std::string ParameterGlossary(GlossaryLayout layout) {
    std::string text;
    const auto paragraph = [&](const std::string& head, const std::string& meaning,
                               const std::string& accepted, const char* actsOn) {
        if (layout == GlossaryLayout::BlankLineBetween && !text.empty()) {
            text += '\n';
        }
        text += Wrapped(head + ": " + meaning + ".", "", "    ");
        text += Wrapped(accepted + ". Acts on: " + actsOn + ".", "    ", "    ");
    };
    for (const GunParameterInfo& info : GunParameterTable) {
        paragraph(std::string(info.fieldName) + " (" + UnitText(info.unit) + ")", info.meaning,
                  std::string("Accepted: ") + AcceptedValuesText(info.range), info.actsOn);
    }
    for (const OptionalParameterInfo& info : OptionalParameterTable) {
        const std::string unit = *info.unit != 0 ? std::string(" ") + info.unit : "";
        paragraph(std::string(info.fieldName) + " (optional, " + UnitText(info.unit) + ")",
                  info.meaning,
                  "Neutral: " + NumberToField(info.neutral, '.') + unit +
                      ". Accepted: " + AcceptedValuesText(info.range),
                  info.actsOn);
    }
    return text;
}
