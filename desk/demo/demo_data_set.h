// The demo data set: a believable marine-supply company with its customers,
// products (priced by the company's price-class rule), vendors and their part
// numbers, salespeople, terms, shipping methods, product groups, manufacturers and a
// few tips of the day, written into a fresh data directory in one transaction.
#pragma once

#include <filesystem>
#include <string>

namespace quay::desk {

struct DemoSummary {
    int customers = 0;
    int products = 0;
    int vendors = 0;
    int vendorParts = 0;
    int salespeople = 0;
    int terms = 0;
    int shippingMethods = 0;
    int groups = 0;
    int manufacturers = 0;
    int tips = 0;
    int scheduleEntries = 0;  // the demo user's follow-ups
};

// Writes the demo data set into `directory` (made when missing), with a schedule for
// `userId` (empty: the user of this log-in, as the program will name them). Refuses a directory
// that already holds a data set, so existing data is never touched. Returns an empty
// text on success, else what went wrong (and nothing is stored).
std::string writeDemoData(const std::filesystem::path& directory, DemoSummary* summary = nullptr,
                          std::string userId = {});

}  // namespace quay::desk
