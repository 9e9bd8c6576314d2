// The program's own tips, stored into a data set that has none.
#include "quay/store/transaction.h"
#include "quay/util/tip_of_day.h"

namespace quay::util {

const std::vector<std::string>& houseTips() {
    static const std::vector<std::string> tips = {
        "A quote becomes an invoice when you save it as one: the stock is taken out and the charge is posted to "
        "the customer's account in the same step, so the account and the shelves always agree.",
        "Press F10 in the order form to save the order. Until an invoice is saved, nothing leaves stock.",
        "In any list, start typing a name and the list moves to the first record at or after what you typed.",
        "The Active box of a list hides customers, vendors and products you no longer deal with; clear it to see "
        "them all again.",
        "Schedule a follow-up call from the customer's Schedule tab with New Schedule Entry. Give it an alarm "
        "date and time and Billquay reminds you when it falls due.",
        "When an alarm pops up you can Postpone it (from 5 minutes up to 3 days), Complete it, Open the entry or "
        "Ignore it for now.",
        "Schedule > Schedule List shows your own entries in alarm order, with the customer, vendor and product "
        "of the highlighted entry above the list.",
        "Press F2 in a date field to pick the date from a calendar.",
        "Phone numbers are put in the house form as you leave the field: 5550199 becomes (212)555-0199 with your "
        "company's area code.",
        "Double-click an e-mail address to write a message, or a web address to open the site.",
        "Ctrl+' in a form brings back the value a field had when the form opened.",
        "Payments are applied to the customer's open charges in the A/R window; what is left stays on account "
        "as unapplied.",
        "Utilities > Backup Data writes a copy of all your data while you work. Keep the copies somewhere other "
        "than this computer.",
        "Each window remembers where you put it and how large it was, and opens there next time.",
        "Switch these tips off by clearing Display Next Time, or from Utilities > Tip Of The Day.",
    };
    return tips;
}

core::ErrorCode storeHouseTips(core::Database& db, core::Table& tips) {
    if (tips.set(core::TipOfDay::ByTipID) != core::ErrorCode::None) return tips.lastError();
    if (tips.next() == core::ErrorCode::None) return core::ErrorCode::None;  // tips are kept already
    core::Transaction t(db, {&tips});
    if (const core::ErrorCode ec = t.begin(); ec != core::ErrorCode::None) return ec;
    auto& rec = *static_cast<core::TipOfDay*>(tips.buffer());
    std::int32_t id = 0;
    for (const std::string& text : houseTips()) {
        tips.clear();
        rec.TIPID = ++id;
        rec.Comment = text;
        if (const core::ErrorCode ec = tips.add(); ec != core::ErrorCode::None) return ec;
    }
    return t.commit();
}

}  // namespace quay::util
