#pragma once
// The opening lines that every generated PHP script carries: the PHP tag,
// the generation comment with version, date and time of the run, and the
// download address. Each script adds its own blank lines after them.
#include "generator/run.h"

#include <QString>

namespace tess {

// The generation comment and the download comment, each line ending with
// CR LF.
QString generatedBy(const GenerationRun &run);
// "<?php", then generatedBy().
QString phpHeader(const GenerationRun &run);

} // namespace tess
