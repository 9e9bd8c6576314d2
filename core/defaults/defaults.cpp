// Placeholder translation unit until the defaults part has sources of its own.
namespace quay::core { }
