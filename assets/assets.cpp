#include "assets/assets.h"

#include "assets/embedded_blocks.h"

namespace lumaro {

const EmbeddedImage TitleImages[4] = {EmbeddedTitle0, EmbeddedTitle1, EmbeddedTitle2, EmbeddedTitle3};
const EmbeddedImage SpriteImages[11] = {
    EmbeddedSprite0, EmbeddedSprite1, EmbeddedSprite2, EmbeddedSprite3, EmbeddedSprite0, EmbeddedSprite5,
    EmbeddedSprite6, EmbeddedSprite7, EmbeddedSprite8, EmbeddedSprite9, EmbeddedSprite10,
};
const EmbeddedImage BackdropImage = EmbeddedBackdrop;
const EmbeddedImage FontImage = EmbeddedFont;
const EmbeddedImage PlasmaTitleImage = EmbeddedPlasmaTitle;

const EmbeddedImage Scene8CaptionImage = EmbeddedCaptionSimple;

const EmbeddedImage SkyImages[SkyImageCount] = {
    EmbeddedSkyFront, EmbeddedSkyTop, EmbeddedSkyLeft, EmbeddedSkyBottom,
    EmbeddedSkyRight, EmbeddedSkyBack, EmbeddedSkyScorched,
};
const EmbeddedImage FlameRingImage = EmbeddedFlameRing;
const EmbeddedImage FlashImage = EmbeddedFlash;

const EmbeddedImage LatticeNameImage = EmbeddedLatticeName;
const EmbeddedImage LatticeCloudImage = EmbeddedLatticeCloud;
const EmbeddedImage NebulaCloudImage = EmbeddedNebulaCloud;
const EmbeddedBlock OrnamentMeshBlock = EmbeddedOrnamentMesh;

const EmbeddedImage TunnelImages[TunnelImageCount] = {
    EmbeddedTunnel0, EmbeddedTunnel1, EmbeddedTunnel2, EmbeddedTunnel3, EmbeddedTunnel4,  EmbeddedTunnel5,
    EmbeddedTunnel6, EmbeddedTunnel7, EmbeddedTunnel8, EmbeddedTunnel9, EmbeddedTunnel10, EmbeddedTunnel11,
};
const EmbeddedImage GraniteImage = EmbeddedGranite;
const EmbeddedImage GridImage = EmbeddedMagentaGrid;
const EmbeddedBlock IsoTablesBlock = EmbeddedIsoTables;
const EmbeddedImage EndCardImage = EmbeddedCaptionEnd;

}  // namespace lumaro
