// Vendor part numbers: which vendor sells which of our products under which of its
// own part numbers. One pairing per product and vendor.
// File "venprods.tps", field prefix VPR.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT VenProds {
    std::int32_t VPRID{};        // number of the pairing, 1 more than the highest in use
    FixedString<20> PartNum;     // our part number (PRD:PartNum)
    FixedString<35> Vendor;      // vendor name (VEN:NAME)
    FixedString<20> VENPARTNUM;  // the vendor's part number
    std::uint8_t MARKED{};       // spare, kept zero

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byVPRId{0};             // VPRID; unique, case-insensitive, primary
    static constexpr KeyId byVendorVenPartNum{1};  // Vendor, VENPARTNUM; duplicates, case-insensitive
    static constexpr KeyId byPartNumVen{2};        // PartNum, Vendor; unique, case-insensitive
    static constexpr KeyId byVenPartNum{3};        // VENPARTNUM; duplicates, case-insensitive
    static constexpr KeyId byVendor{4};            // Vendor; duplicates, case-insensitive
    static constexpr KeyId byPartNum{5};           // PartNum; duplicates, case-insensitive
    static constexpr KeyId byVendorPartNum{6};     // Vendor, PartNum; duplicates, case-insensitive
};

}  // namespace quay::core
