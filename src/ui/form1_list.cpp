// Form1's contact list, editing and deleting, and the backup on closing.
#include "ui/form1.h"

namespace vantrel::ui {

void Form1::FillContactList() {
  contact_list_->FillContactList(state_.log);
}

void Form1::AddContactListItem(int record) {
  contact_list_->AddContactListItem(state_.log, record);
}

int Form1::ContactListItemCount() const {
  return contact_list_->ContactListItemCount();
}

void Form1::cmdList_Click() {
  cmdList->setText(contact_list_->ToggleListAllContacts());
  FillContactList();
  txtCall->setFocus();
}

LogMaintenanceHooks Form1::MaintenanceHooks() {
  LogMaintenanceHooks hooks = maintenance_;
  hooks.clock = clock_;
  hooks.storage = &log_storage();
  hooks.reload = [this] { return mnuopen2(); };
  hooks.hide_edit_buttons = [this] {
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
  };
  hooks.refill_list = [this] { FillContactList(); };
  return hooks;
}

void Form1::cmdEdit_Click() {
  // Nothing selected: nothing to edit.
  const int record = contact_list_->SelectedRecord(state_.log);
  if (record < 1) return;
  ::vantrel::ui::cmdEdit(this, state_, prompter_, screen_, record, MaintenanceHooks());
}

void Form1::cmdDelete_Click() {
  const int record = contact_list_->SelectedRecord(state_.log);
  if (record < 1) return;
  ::vantrel::ui::cmdDelete(this, state_, prompter_, record, MaintenanceHooks());
}

void Form1::Backup() {
  ::vantrel::ui::Backup(this, state_, prompter_, *clock_, log_storage());
}

}  // namespace vantrel::ui
