// Icons drawn from the SVG pictures in the program's resources, at whatever size and pixel ratio the
// button asks for, so they stay crisp on a high-density screen.
#pragma once

#include <QIcon>
#include <QString>

namespace lumora {

QIcon svgIcon(const QString &resourcePath);

}  // namespace lumora
