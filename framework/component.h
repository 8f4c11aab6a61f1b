#pragma once
// TComponent: the root of the object model. A component may own others (the
// owner deletes what it owns, last created first), has a Name that is unique
// among its owner's components, a Tag for the program's use, and a state that
// says whether it is being read from a window description, loading, designed
// or destroyed.
//
// Components are created with new and an owner, and deleted by their owner or
// with delete; deleting one removes it from its owner and tells the owner's
// other components (Notification with opRemove).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "stream/dfm_value.h"

namespace ac {

class TComponent;

enum class TOperation { opInsert, opRemove };

// A set of component states, as bits.
enum TComponentStateBits : uint32_t {
  csLoading = 1,     // created from a description; cleared by Loaded
  csReading = 2,     // its properties are being read
  csDesigning = 4,   // never set in a running program
  csDestroying = 8,  // its destructor has started
};

using TNotifyEvent = std::function<void(TComponent* sender)>;

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // The framework class name, e.g. "TsPanel": window class names and the
  // description's class names.
  virtual std::string_view ClassName() const = 0;

  TComponent* Owner() const { return FOwner; }
  const std::vector<TComponent*>& Components() const { return FComponents; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* FindComponent(std::string_view name) const;

  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }
  int Tag = 0;

  uint32_t ComponentState() const { return FComponentState; }
  bool HasState(uint32_t bits) const { return (FComponentState & bits) != 0; }
  void SetState(uint32_t bits) { FComponentState |= bits; }
  void ClearState(uint32_t bits) { FComponentState &= ~bits; }

  // Called once after the whole description it came from was read, in
  // creation order; clears csLoading.
  virtual void Loaded();

  // Called by the owner right before it deletes this component, while the
  // object is still whole (a windowed control destroys its window here, so
  // every replacement of its window procedure sees WM_DESTROY).
  virtual void BeforeDestruction() {}
  // BeforeDestruction, then delete.
  static void Free(TComponent* component);

  // Tells this component that Component was inserted into or removed from its
  // owner; a component holding a pointer to another clears it on opRemove.
  virtual void Notification(TComponent* component, TOperation operation);

  // Reading a description. SetStoredProperty sets one stored property (a
  // dotted name for a sub-object's property) and returns false when this class
  // has no property of that name; a value of the wrong kind throws
  // EPropertyError. FindMethod answers the event handler of a root component
  // named in a description (empty when there is none); BindField points the
  // root's field of that name at a component read from its description.
  virtual bool SetStoredProperty(std::string_view name, const dfm::TValue& value);
  virtual TNotifyEvent FindMethod(std::string_view name);
  virtual void BindField(std::string_view name, TComponent* component);

  // The root whose description this component is being read from (set by the
  // reader), used to resolve event handlers by name.
  TComponent* ReadRoot = nullptr;
  // Resolves an event handler through ReadRoot; throws EPropertyError when the
  // root has none of that name.
  TNotifyEvent ResolveMethod(const dfm::TValue& value) const;

 private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
  std::string FName;
  uint32_t FComponentState = 0;
};

}  // namespace ac
