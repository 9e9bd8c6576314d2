// The process's Globals object and its reset.
#include "quay/app/globals.h"

namespace quay::core {

Globals glo;

void Globals::reset() {
    GlobalRequest = Request::None;
    GlobalResponse = Response::None;
    rcLong = 0;
    BalanceDue.clear();
    CustName.clear();
    PriceClass.clear();
    PartNum.clear();
    OrdNum = 0;
    InvoiceNum = 0;
    ProfitMargin.clear();
    DiscountAmt.clear();
    ListSubTotal.clear();
    OrdCost.clear();
    ProgramTitle.clear();
    UserID.clear();
    FrameX = FrameY = FrameW = FrameH = 0;
    MessageOfDay = 0;
    MODDone = 0;
    MODPosition = 0;
    setNextAlarm(NextAlarm{});
    CurrentAlarmID = 0;
    SchGroup.clear();
    CalendarTitle.clear();
    ExportFileName.clear();
    ImportFileName.clear();
    LowDate1 = 0;
    HiDate1 = 0;
    CustType.clear();
    PrintComments = PrintPackList = UseDiscount = UseSurcharge = 0;
    OneLiner = Landscape = InStockItems = 0;
    Dollars.clear();
}

void Globals::setNextAlarm(const NextAlarm& next) {
    std::lock_guard lock(m_alarmMutex);
    AlarmActive = next.AlarmActive;
    NextEventDay = next.NextEventDay;
    NextEventTime = next.NextEventTime;
}

NextAlarm Globals::nextAlarm() const {
    std::lock_guard lock(m_alarmMutex);
    return NextAlarm{AlarmActive.load(), NextEventDay.load(), NextEventTime.load()};
}

}  // namespace quay::core
