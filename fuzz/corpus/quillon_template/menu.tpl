<!-- The site's navigation menu. quillon writes the blocks below; the text
     outside them is ignored. Placeholders: {link}, {label}, {menulink},
     {level} (the nesting depth as one digit). -->
<template name="menu.top">
<nav class="menu">
<ul class="level0">
</template>

<template name="menu.link.selected">
<a class="selected" href="{link}">{label}</a>
</template>

<template name="menu.link.unselected">
<a href="{link}">{label}</a>
</template>

<template name="menu.branch.top">
<li class="open">{menulink}<ul class="level{level}">
</template>

<template name="menu.branch.bottom">
</ul></li>
</template>

<template name="menu.leaf">
<li>{menulink}</li>
</template>

<template name="menu.bottom">
</ul>
</nav>
</template>
