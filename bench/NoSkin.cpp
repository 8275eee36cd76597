// The program as it would be without its built-in skin (every control in the system's own
// style): linked in place of ui/skin/BuiltInSkin.cpp, to measure what the skin costs at start.
namespace orvelle::ui::skin {
extern const bool kBuiltInSkin;
const bool kBuiltInSkin = false;
}  // namespace orvelle::ui::skin
