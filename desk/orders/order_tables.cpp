// Opening the order form's tables in the documented order.
#include "orders/order_tables.h"

namespace quay::desk {

OrderTables::OrderTables(core::Database& database, core::UiPort& ui)
    : db(database),
      app(database, ui),
      chg(database, ui),
      cus(database, ui),
      def(database, ui),
      ite(database, ui),
      ord(database, ui),
      pay(database, ui),
      prd(database, ui),
      ser(database, ui),
      ordScan(database, ui),
      iteScan(database, ui),
      chgScan(database, ui),
      payScan(database, ui) {}

bool OrderTables::isOpen() const {
    return app.isOpen() && chg.isOpen() && cus.isOpen() && def.isOpen() && ite.isOpen() && ord.isOpen() &&
           pay.isOpen() && prd.isOpen() && ser.isOpen() && ordScan.isOpen() && iteScan.isOpen() && chgScan.isOpen() &&
           payScan.isOpen();
}

}  // namespace quay::desk
