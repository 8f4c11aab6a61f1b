#pragma once
// Building components from a window description.
//
// ReadComponent sets Root's stored properties, then creates each child
// component in description order (owner: Root; parent: the windowed control it
// is nested in), sets its properties in stored order, points Root's field of
// the same name at it (BindField) and, once the whole description is read,
// calls Loaded on Root and then on every created component in creation order.
// While reading, the components carry csLoading and csReading.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "framework/component.h"
#include "stream/dfm_binary.h"

namespace ac {

// The classes a description may name, by class name.
class TClassRegistry {
 public:
  using TFactory = std::function<TComponent*(TComponent* owner)>;

  template <typename T>
  void Register(std::string name) {
    FFactories[std::move(name)] = [](TComponent* owner) -> TComponent* { return new T(owner); };
  }
  // Null when Name is not registered.
  TComponent* Create(std::string_view name, TComponent* owner) const;

 private:
  std::map<std::string, TFactory, std::less<>> FFactories;
};

// Adds the framework's own classes (panel, edit, button, label, timer). The
// layers above add theirs; the program's registry is Application->Classes().
void RegisterFrameworkClasses(TClassRegistry& classes);

// Throws dfm::EReadError naming the component and property at fault: a
// class that does not match Root's, an unknown class, a duplicate name, an
// unknown property or a value that does not fit it. Components created before
// the error stay owned by Root.
void ReadComponent(TComponent& root, const dfm::TObjectNode& node, const TClassRegistry& classes);

}  // namespace ac
