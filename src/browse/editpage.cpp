#include "editpage.h"

TEditPage::TEditPage(TMainForm& mainForm, QWidget* parent)
    : QWidget(parent), m_mainForm(mainForm) {}
