// Popup menus: an HMENU built from the menu model for each popup.
#include <map>

#include "platform/win32/backend.h"
#include "platform/win32/text.h"
#include "ui/application.h"
#include "ui/menu.h"

namespace win32 {

// The menu on screen: command ids and submenu handles back to their items.
struct OpenMenu {
  ui::PopupMenu* popup = nullptr;
  UniqueMenu root;
  std::map<UINT, ui::MenuItem*> commands;
  std::map<HMENU, ui::MenuItem*> submenus;
  UINT nextId = 1;

  void fill(HMENU menu, const std::vector<std::unique_ptr<ui::MenuItem>>& items) {
    for (const auto& item : items) {
      if (!item->visible()) continue;
      if (item->isSeparator()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      UINT flags = MF_STRING | (item->checked() ? MF_CHECKED : MF_UNCHECKED) |
                   (item->enabled() ? MF_ENABLED : MF_GRAYED);
      std::wstring caption = widen(item->caption());
      if (item->hasSubmenu()) {
        UniqueMenu sub(CreatePopupMenu());
        if (!sub) continue;
        fill(sub.get(), item->items());
        if (AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.get()), caption.c_str())) {
          submenus[sub.get()] = item.get();
          sub.release();  // destroyed with its parent from now on
        }
      } else {
        UINT id = nextId++;
        if (AppendMenuW(menu, flags, id, caption.c_str())) commands[id] = item.get();
      }
    }
  }

  // A submenu's items are built again after its handler ran: the handler
  // may have changed their captions or check marks.
  void refill(HMENU menu, const ui::MenuItem& item) {
    // DeleteMenu also destroys the submenus of the items it removes.
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    fill(menu, item.items());
  }
};

namespace {

// Clears the backend's pointer to the open menu however the popup ends.
class OpenMenuScope {
 public:
  OpenMenuScope(OpenMenu*& slot, OpenMenu* menu) : slot_(slot), saved_(slot) { slot_ = menu; }
  ~OpenMenuScope() { slot_ = saved_; }
  OpenMenuScope(const OpenMenuScope&) = delete;
  OpenMenuScope& operator=(const OpenMenuScope&) = delete;

 private:
  OpenMenu*& slot_;
  OpenMenu* saved_;
};

}  // namespace

void Backend::popupMenu(ui::PopupMenu& m, int x, int y) {
  OpenMenu menu;
  menu.popup = &m;
  menu.root.reset(CreatePopupMenu());
  if (!menu.root || !appWindow_) return;
  menu.fill(menu.root.get(), m.items());
  HWND owner = appWindow_.get();
  // A menu only closes on a click elsewhere when a window of ours is in
  // the foreground.
  DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  if (foregroundThread != GetCurrentThreadId()) SetForegroundWindow(owner);
  UINT chosen;
  {
    OpenMenuScope scope(openMenu_, &menu);
    chosen =
        UINT(TrackPopupMenu(menu.root.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                            x, y, 0, owner, nullptr));
  }
  PostMessageW(owner, WM_NULL, 0, 0);
  auto it = menu.commands.find(chosen);
  if (chosen == 0 || it == menu.commands.end()) return;
  m.choose(*it->second);
}

void Backend::menuOpening(HMENU handle) {
  if (!openMenu_) return;
  auto it = openMenu_->submenus.find(handle);
  if (it == openMenu_->submenus.end()) return;
  ui::MenuItem* item = it->second;
  openMenu_->popup->choose(*item);
  openMenu_->refill(handle, *item);
}

}  // namespace win32
