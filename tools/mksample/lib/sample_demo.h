#pragma once
// The pictures the demonstration shows beyond the simulated screen's: the
// highlight of a clicked level-1 item (panel code, two-digit item, "00")
// and of a level-2 item of "All programs" that opens a level-3 list
// ("8410" and the two-digit item).
#include "sample_dir.h"

#include <QImage>
#include <QString>

namespace sample {

bool addDemoPictures(const SampleDir &dir);

// The picture drawn for a name (without ".mxy"), or a null image.
QImage demoPicture(const QString &name);

} // namespace sample
