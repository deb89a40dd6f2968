#pragma once
#include "reports/report.h"

#include <QImage>

class QPainter;

// Draws page `index` of the report. The painter's coordinates must be the
// device's own pixels (at its logical resolution) with the corner of the
// sheet at the origin; a transform set beforehand scales the whole page.
void RenderPage(QPainter& painter, const Report& report, int index);

// Page `index` as a picture at `dpi` dots per inch (white paper).
QImage PageImage(const Report& report, int index, int dpi);
