// Placeholder translation unit until the store part has sources of its own.
namespace quay::core { }
