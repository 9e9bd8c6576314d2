// Placeholder translation unit until the tables part has sources of its own.
namespace quay::core { }
