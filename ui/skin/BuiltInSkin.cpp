// Whether the program carries its built-in skin. A build that links its own definition of
// this flag (false) stands for a program whose skin cannot be found: it draws every control
// in the system's own style, which is how the start-up cost of the skin is measured.
namespace orvelle::ui::skin {
extern const bool kBuiltInSkin;
const bool kBuiltInSkin = true;
}  // namespace orvelle::ui::skin
