// FormView bindings of a main window's furniture: the menu bar and pop-up menus, the toolbar
// and the status bar.
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>

#include "app/form_view.h"
#include "app/form_view_support.h"
#include "app/icons.h"

namespace rvm46::app {

using namespace forms;
using detail::Q;

QWidget* FormView::CreateFurnitureWidget(Control& control) {
    auto* shell = qobject_cast<QMainWindow*>(window_.data());
    if (dynamic_cast<Toolbar*>(&control) != nullptr) {
        if (shell == nullptr) return nullptr;
        auto* bar = new QToolBar(shell);
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setIconSize(QSize(24, 24));
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
        bar->toggleViewAction()->setVisible(false);
        shell->addToolBar(bar);
        return bar;
    }
    if (auto* status = dynamic_cast<StatusBar*>(&control)) {
        if (shell == nullptr) return nullptr;
        auto* bar = new QStatusBar(shell);
        bar->setSizeGripEnabled(false);
        for (int panel = 1; panel <= status->PanelCount(); ++panel) {
            auto* label = new QLabel(bar);
            label->setObjectName(QString("panel%1").arg(panel));
            label->setFrameShape(QFrame::StyledPanel);
            label->setFrameShadow(QFrame::Sunken);
            label->setMinimumWidth(panel == 1 ? 160 : 90);
            if (panel == 1) {
                bar->addWidget(label, 1);
            } else {
                bar->addPermanentWidget(label, panel == status->PanelCount() ? 3 : 0);
            }
        }
        shell->setStatusBar(bar);
        return bar;
    }
    return nullptr;
}

bool FormView::SyncFurniture(Control& control, QWidget* widget) {
    if (auto* toolbar = dynamic_cast<Toolbar*>(&control)) {
        widget->setHidden(!control.Visible());
        SyncToolbar(*toolbar);
        return true;
    }
    if (auto* status = dynamic_cast<StatusBar*>(&control)) {
        widget->setHidden(!control.Visible());
        for (QLabel* label : widget->findChildren<QLabel*>()) {
            QFont font = label->font();
            if (!control.FontName().empty()) font.setFamilies({Q(control.FontName())});
            label->setFont(font);
        }
        SyncStatusBar(*status);
        return true;
    }
    return false;
}

void FormView::BuildMenus() {
    auto* shell = qobject_cast<QMainWindow*>(window_.data());
    QMenuBar* bar = shell->menuBar();
    for (MenuItem* item : form_.MenuBar()) {
        QMenu* menu = BuildMenu(*item, bar);
        QAction* action = menu->menuAction();
        actions_[item] = action;
        // A hidden top-level item is only ever shown as a pop-up menu.
        if (item->Visible()) bar->addAction(action);
    }
}

QMenu* FormView::BuildMenu(MenuItem& item, QWidget* parent) {
    auto it = menus_.find(&item);
    if (it != menus_.end()) return it->second;
    auto* menu = new QMenu(parent);
    menus_[&item] = menu;
    actions_[&item] = menu->menuAction();
    subscriptions_.emplace_back(&item, item.Subscribe([this, &item](const PropertyChange&) {
        if (!detached_) SyncMenuItem(item);
    }));
    for (MenuItem* child : item.Children()) {
        if (child->Children().empty()) {
            menu->addAction(BuildAction(*child));
        } else {
            menu->addMenu(BuildMenu(*child, menu));
        }
    }
    for (MenuItem* child : item.Children()) SyncMenuItem(*child);
    SyncMenuItem(item);
    return menu;
}

QAction* FormView::BuildAction(MenuItem& item) {
    auto* action = new QAction(window_);
    actions_[&item] = action;
    if (item.IsSeparator()) {
        action->setSeparator(true);
    } else {
        QObject::connect(action, &QAction::triggered, action,
                         [this, &item] { UserAction(item, [&item] { item.UserClick(); }); });
    }
    subscriptions_.emplace_back(&item, item.Subscribe([this, &item](const PropertyChange&) {
        if (!detached_) SyncMenuItem(item);
    }));
    return action;
}

void FormView::SyncMenuItem(MenuItem& item) {
    QAction* action = ActionFor(item);
    if (action == nullptr) return;
    QSignalBlocker block(action);
    if (item.IsSeparator()) {
        action->setSeparator(true);
    } else {
        action->setText(Q(item.Caption()));
        action->setCheckable(item.Checked());
        action->setChecked(item.Checked());
        action->setShortcut(QKeySequence(Q(item.Shortcut())));
    }
    action->setEnabled(item.Enabled());
    const bool top = item.Container().empty();
    action->setVisible(top ? true : item.Visible());
    if (top && main_window_) {
        auto* shell = qobject_cast<QMainWindow*>(window_.data());
        const bool in_bar = shell->menuBar()->actions().contains(action);
        if (item.Visible() && !in_bar) shell->menuBar()->addAction(action);
        if (!item.Visible() && in_bar) shell->menuBar()->removeAction(action);
    }
}

void FormView::SyncToolbar(Toolbar& toolbar) {
    auto* bar = qobject_cast<QToolBar*>(WidgetFor(toolbar));
    if (bar == nullptr) return;
    if (static_cast<int>(toolbar_actions_.size()) != toolbar.ButtonCount()) {
        bar->clear();
        toolbar_actions_.clear();
        for (int number = 1; number <= toolbar.ButtonCount(); ++number) {
            const ToolbarButton& button = toolbar.Button(number);
            QAction* action = button.separator ? bar->addSeparator() : bar->addAction(QString());
            if (!button.separator) {
                action->setIcon(ToolbarIcon(button.image));
                const std::string key = button.key;
                QObject::connect(action, &QAction::triggered, action, [this, &toolbar, key] {
                    UserAction(toolbar, [&toolbar, key] { toolbar.UserClickButton(key); });
                });
            }
            toolbar_actions_.push_back(action);
        }
    }
    bool captions = false;
    for (int number = 1; number <= toolbar.ButtonCount(); ++number) {
        captions = captions || !toolbar.Button(number).caption.empty();
    }
    bar->setToolButtonStyle(captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    for (int number = 1; number <= toolbar.ButtonCount(); ++number) {
        const ToolbarButton& button = toolbar.Button(number);
        QAction* action = toolbar_actions_[static_cast<std::size_t>(number - 1)];
        QSignalBlocker block(action);
        if (!button.separator) {
            action->setText(Q(button.caption.empty() ? button.tool_tip : button.caption));
            action->setToolTip(Q(button.tool_tip));
            action->setObjectName(Q(button.key));
        }
        action->setEnabled(button.enabled && toolbar.Enabled());
        action->setVisible(button.visible);
    }
}

void FormView::SyncStatusBar(StatusBar& status) {
    QWidget* bar = WidgetFor(status);
    if (bar == nullptr) return;
    for (int panel = 1; panel <= status.PanelCount(); ++panel) {
        if (auto* label = bar->findChild<QLabel*>(QString("panel%1").arg(panel))) {
            label->setText(Q(status.PanelText(panel)));
            label->setToolTip(Q(status.PanelToolTip(panel)));
            // Named by what the panel is for; its text is what it shows now.
            label->setAccessibleName(Q(status.PanelToolTip(panel)));
        }
    }
}

}  // namespace rvm46::app
