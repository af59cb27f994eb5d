#include "core/levels/levels.hpp"
#include "core/playfield/playfield.hpp"

namespace kelvar {

void Form_Load(Game& g) {
    // Placing the window on the screen is the window's business; it reads Verticl itself.
    g.svc.keyRepeat.setKeyBoardDelay(0);
    g.svc.keyRepeat.setKeyBoardSpeed(31);
    g.el.Gover.Visible = false;
    g.el.PauseTL.Visible = false;
    g.el.GShotLbl.Visible = false;
    g.st.iScore = 0;
    g.el.ScoreLbl.Caption = digits(g.st.iScore);
    g.el.TopScoreLbl.Caption = digits(g.st.iTopScore);
    g.st.iLevel = 0;
    g.el.LevelLbl.Caption = "0";
    setTimerInterval(g, g.st.TDel);
    g.st.GameOver = false;
    InitJoystick(g.joy, g.svc.joystick, 0);
    LoadConfig(g);
    PrepNewLevel(g);
    g.st.iLossVar = kStartingShips;
    g.el.LossesLbl.Caption = digits(kStartingShips);
}

void createPlayField(Game& g) {
    g.el = designElements();
    Form_Load(g);
}

} // namespace kelvar
