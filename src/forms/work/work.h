#pragma once

#include "forms/common/status_panel.h"
#include "state/int16.h"
#include "ui/form.h"

#include <cstddef>

// The jobs screen: nine jobs to apply for, what each is about, and a two-page help.
class Work : public Form {
public:
    explicit Work(StatusPanel& panel);

    // The job the player holds (0 none, else its code). Lives with the screen object, so it
    // survives closing and reopening the screen.
    Int16 CurrentJob;

    void resetFields() override;

    // The nine job buttons share these, each with its row of the catalogue.
    void job_Click(std::size_t job);
    void job_MouseMove(std::size_t job);
    void notthing();

    void fr_Click();
    void lblNext1_Click();
    void lblPrev1_Click();
    void lblNext1_MouseMove();
    void lblPrev1_MouseMove();
    void l_MouseMove();
    void ll_MouseMove();
    void Form_MouseMove() override;
    bool Form_KeyDown(int key) override;

protected:
    void build(FormWindow& w) override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void showPage(bool page2);
    void setLinkBold(const char* link, bool bold);

    StatusPanel& panel_;
};

// Made where the program is put together.
Work& work();
