#pragma once
// The "Processing..." overlay an adoption shows over the window: a skinned panel across the
// middle of the client area with one centred label, released by the window's tmrDynamic two
// seconds later, whatever page is shown by then.

class TfrmMain;

class TProcessingOverlay {
public:
  // Binds the overlay's end to the window's tmrDynamic.
  explicit TProcessingOverlay(TfrmMain& form);

  // Shows the overlay and (re)starts the timer. An overlay still shown from an adoption a
  // moment ago is replaced, so that no tick ever leaves one behind.
  void Show();
  // The timer's tick: the overlay goes (its label with it) and the timer stops.
  void tmrDynamicTimer();

private:
  TfrmMain& FForm;
};
