// Placeholder translation unit until the masters part has sources of its own.
namespace quay::core { }
