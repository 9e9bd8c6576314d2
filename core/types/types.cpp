// Placeholder translation unit until the types part has sources of its own.
namespace quay::core { }
