// A small but complete data set for trying the printed documents: a company with its
// heading and comments, two customers (one billed to the other), products with comments
// and vendors, a salesperson, a quote with serial numbers and comments, and an invoice
// with its charge and two payments applied to it.
#pragma once

#include <string>

namespace quay::reports::tools {

// Writes the sample records into the data set of `directory` (created when missing).
// Refuses a directory whose data set already holds orders, so no one's data is touched.
// Returns an empty string on success, else what went wrong.
std::string writeSampleData(const std::string& directory);

}  // namespace quay::reports::tools
