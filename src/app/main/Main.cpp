// Velmora Mahjongg: the program runs its application object.
#include "app/GameApp.h"

int main()
{
    CGameApp app;
    return app.Run();
}
