#pragma once
// The sixteen parameters described from GunParameterTable and the optional five from
// OptionalParameterTable: what `velloran-cli parameters` prints, what its manual page section
// holds and what the README's glossary quotes.

#include <string>

// One paragraph per parameter in the tables' order: its name and unit with the other units
// it may be given in, its meaning, the values Compute accepts and what it acts on; an optional
// one says so and gives its neutral value. The
// paragraphs follow one another directly, or with a blank line between them where each is to
// stand apart (the manual page).
enum class GlossaryLayout { Packed, BlankLineBetween };
std::string ParameterGlossary(GlossaryLayout layout = GlossaryLayout::Packed);
