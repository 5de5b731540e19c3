// SPDX-License-Identifier: MIT
#include "bank/data_module.h"

namespace zuvo {

void DataModule::DataModuleCreate(const std::string& programDir) {
    std::string dir = programDir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    ADOConnection1.setPath(dir + kBankFileName);
}

}  // namespace zuvo
