// Symbol export for the shared libraries of Billquay. Every library is built with
// hidden visibility; what other deliverables use is marked QUAY_EXPORT.
#pragma once

#if defined(__GNUC__)
#define QUAY_EXPORT __attribute__((visibility("default")))
#else
#define QUAY_EXPORT
#endif
