#include "searchpage.h"

TSearchPage::TSearchPage(TMainForm& mainForm, QWidget* parent)
    : QWidget(parent), m_mainForm(mainForm) {}
