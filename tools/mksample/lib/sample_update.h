#pragma once
#include "sample_dir.h"

namespace sample {

// What the update window and the about box show beyond the message box's
// pictures: the about box's background "l20070" and the home page's update
// button "l20008".
bool addUpdateFiles(const SampleDir &dir);

} // namespace sample
