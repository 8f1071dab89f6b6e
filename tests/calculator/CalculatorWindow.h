#pragma once
// A test fixture over the real main window on the headless desktop: fill the four fields and
// press "Go", then read each section's two component values with their units.

#include "ProgramHarness.h"

#include <gtest/gtest.h>

#include <string>

class CalculatorWindow : public ::testing::Test {
protected:
    ProgramHarness app;

    // Fills the four fields (by typing) and presses "Go".
    void Go(const std::string& fc, const std::string& q, const std::string& r, const std::string& c)
    {
        app.Go(fc, q, r, c);
    }
    std::string LowPass() const
    {
        return app.Text("Label7") + " " + app.Text("Label9") + " | " + app.Text("Label8") + " " + app.Text("Label10");
    }
    std::string HighPass() const
    {
        return app.Text("Label15") + " " + app.Text("Label17") + " | " + app.Text("Label16") + " " + app.Text("Label18");
    }
};
