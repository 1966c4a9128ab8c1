#pragma once
// Draws the print form. The same painter serves the window on screen and the
// printed page, so what the preview shows is what prints.
#include <QRectF>

#include "reports/logic/print_form.h"
#include "reports/logic/print_layout.h"

class QPainter;

namespace qb {

// Paints the whole form, the painter's coordinates being twips from the
// form's top left.
void PaintPrintForm(QPainter& p, const PrintLayout& layout, const PrintFormContents& c);

// Paints the form on a page whose printable area is pageRect (device pixels)
// at the given resolution: full size when it fits, else shrunk uniformly to
// fit. Returns the scale used (1 when it fits).
double PaintPrintFormOnPage(QPainter& p, const QRectF& pageRect, double dotsPerInch,
                            const PrintLayout& layout, const PrintFormContents& c);

}  // namespace qb
