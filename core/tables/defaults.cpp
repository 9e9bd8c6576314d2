// The description of Defaults: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/defaults.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Defaults::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Defaults", "DEF", "defaults.tps", sizeof(Defaults));
        QUAY_FIELD(b, Defaults, COMPANYNUM);
        QUAY_FIELD(b, Defaults, COMPANYNAME);
        QUAY_FIELD(b, Defaults, ADD1);
        QUAY_FIELD(b, Defaults, ADD2);
        QUAY_FIELD(b, Defaults, CITY);
        QUAY_FIELD(b, Defaults, STATE);
        QUAY_FIELD(b, Defaults, ZIPCODE);
        QUAY_FIELD(b, Defaults, PHONE1);
        QUAY_FIELD(b, Defaults, PHONE2);
        QUAY_FIELD(b, Defaults, FAX);
        QUAY_FIELD(b, Defaults, MODEM);
        QUAY_FIELD(b, Defaults, EMAIL);
        QUAY_FIELD(b, Defaults, WEBADR);
        QUAY_FIELD(b, Defaults, PRINTNAME);
        QUAY_FIELD(b, Defaults, PRINTADDRESS);
        QUAY_FIELD(b, Defaults, PRINTPHONE);
        QUAY_FIELD(b, Defaults, PRINTEMAIL);
        QUAY_FIELD(b, Defaults, PRINTWWW);
        QUAY_FIELD(b, Defaults, CREDITLIMIT);
        QUAY_FIELD(b, Defaults, LOWINVENTORY);
        QUAY_FIELD(b, Defaults, SALESTAX1);
        QUAY_FIELD(b, Defaults, SALESTAX2);
        QUAY_FIELD(b, Defaults, PRICECLASS1);
        QUAY_FIELD(b, Defaults, PC1METHOD);
        QUAY_FIELD(b, Defaults, PRICECLASS2);
        QUAY_FIELD(b, Defaults, PC2METHOD);
        QUAY_FIELD(b, Defaults, PRICECLASS3);
        QUAY_FIELD(b, Defaults, PC3METHOD);
        QUAY_FIELD(b, Defaults, PRICECLASS4);
        QUAY_FIELD(b, Defaults, PC4METHOD);
        QUAY_FIELD(b, Defaults, PRICECLASS5);
        QUAY_FIELD(b, Defaults, PC5METHOD);
        QUAY_FIELD(b, Defaults, PRICECLASS6);
        QUAY_FIELD(b, Defaults, PC6METHOD);
        QUAY_FIELD(b, Defaults, ROUNDPC);
        QUAY_FIELD(b, Defaults, DEFAULTTOAR);
        QUAY_FIELD(b, Defaults, UPDATECOSTSATINV);
        QUAY_FIELD(b, Defaults, DEFAREACODE);
        QUAY_FIELD(b, Defaults, INVOICEAD);
        QUAY_FIELD(b, Defaults, FLAG1);
        QUAY_FIELD(b, Defaults, SIGONQUOTES);
        QUAY_FIELD(b, Defaults, SIGONINV);
        QUAY_FIELD(b, Defaults, LOGOFILE);
        QUAY_FIELD(b, Defaults, LOGINS);
        QUAY_FIELD(b, Defaults, REQSALESMAN);
        QUAY_FIELD(b, Defaults, REQTERMS);
        QUAY_FIELD(b, Defaults, REQDELIVERYMETHOD);
        QUAY_FIELD(b, Defaults, NOPRTDIALOGBOX);
        QUAY_FIELD(b, Defaults, FLAG2);
        QUAY_FIELD(b, Defaults, FLAG3);
        QUAY_FIELD(b, Defaults, FLAG4);
        QUAY_FIELD(b, Defaults, FLAG5);
        QUAY_FIELD(b, Defaults, FLAG6);
        QUAY_FIELD(b, Defaults, FLAG7);
        QUAY_FIELD(b, Defaults, VALUE1);
        QUAY_FIELD(b, Defaults, VALUE2);
        QUAY_FIELD(b, Defaults, VALUE3);
        QUAY_FIELD(b, Defaults, VALUE4);
        QUAY_FIELD(b, Defaults, USERID);
        QUAY_FIELD(b, Defaults, USERID2);
        QUAY_FIELD(b, Defaults, USERID3);
        QUAY_FIELD(b, Defaults, MARKED);
        QUAY_FIELD(b, Defaults, InvComments);
        QUAY_FIELD(b, Defaults, BillingComments);
        QUAY_FIELD(b, Defaults, Bill30Comments);
        QUAY_FIELD(b, Defaults, Bill60Comments);
        QUAY_FIELD(b, Defaults, Bill90Comments);
        QUAY_FIELD(b, Defaults, POComment);
        QUAY_KEY(b, Defaults, byCompanyNum, {"COMPANYNUM"}, KeyFlag::Unique | KeyFlag::Primary, "by Company Number");
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
