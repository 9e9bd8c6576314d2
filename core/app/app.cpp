// Placeholder translation unit until the app part has sources of its own.
namespace quay::core { }
