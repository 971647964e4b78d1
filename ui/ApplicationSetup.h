#pragma once

// The application's name and how it ends, set once the QApplication exists.
void SetUpApplication();
