#pragma once
#include "sample_dir.h"

namespace sample {

// What start-up reads: "ver.txt", the bank's information table "288901",
// the first-run flag "288892" reading "0", the bank's version "288895" and
// module number "288899", a bank index "288891" of ten empty units (rewrite
// it with writeBankIndex when adding questions), the splash, icon and
// message-box pictures, the cursor files "ico00.CUR" and "ico15.CUR", and
// in "ksdata" the options file "288890" ("0") and an empty unit progress
// "288893".
bool addStartupFiles(const SampleDir &dir);

} // namespace sample
