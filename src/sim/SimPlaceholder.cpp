// Replaced by the simulated world.
namespace nxui::sim {}
