#pragma once
// Conversions between the settings record's font and colour fields and Qt's.
#include "settings/SetupVars.h"

#include <QColor>
#include <QFont>

namespace tw {

QFont fontFromSetup(const SetupVars& v);
QColor colorFromSetup(std::uint32_t fontColor);
// Writes the font fields in the order height, face name, pitch, size, style.
void fontIntoSetup(const QFont& font, SetupVars& v);
// The colour field's value for a colour.
std::uint32_t colorValue(const QColor& color);

} // namespace tw
