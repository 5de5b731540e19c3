// SPDX-License-Identifier: MIT
#include "core/word_manager.h"

#include "bank/gbk.h"
#include "bank/scramble.h"
#include "bank/statements.h"
#include "core/text.h"

namespace zuvo {

void WordManagerLogic::BitBtn1Click() {
    Query& query = data_.ADOWordMan;
    query.close();
    query.setStatement(statements::insertWord());
    query.setParam("Word", trim(form.edtWord.caption));
    // Any seed decodes to the same text; the counter only varies the stored form from row to row.
    const auto seed = static_cast<std::uint8_t>(platform_.performanceCounter());
    query.setParam("Mean", Blob{scrambleText(utf8ToGbk(trim(form.edtMean.caption)), seed)});
    query.execSql();
}

void WordManagerLogic::BitBtn2Click() { form.visible = false; }

}  // namespace zuvo
